VERSION 5.00
Begin VB.Form MainForm
   Caption         =   "顧客一覧"
   ClientHeight    =   3600
   ClientLeft      =   60
   ClientTop       =   345
   ClientWidth     =   4800
   LinkTopic       =   "Form1"
   ScaleHeight     =   3600
   ScaleWidth      =   4800
   StartUpPosition =   3  'Windows の既定値
   Begin VB.CommandButton cmdSearch
      Caption         =   "検索(&S)"
      Default         =   -1  'True
      Height          =   375
      Left            =   3360
      TabIndex        =   1
      Top             =   120
      Width           =   1215
   End
   Begin VB.TextBox txtKeyword
      Height          =   375
      Left            =   120
      TabIndex        =   0
      Top             =   120
      Width           =   3135
   End
   Begin VB.ListBox lstCustomers
      Height          =   2940
      Left            =   120
      TabIndex        =   2
      Top             =   600
      Width           =   4455
   End
End
Attribute VB_Name = "MainForm"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = False
Attribute VB_PredeclaredId = True
Attribute VB_Exposed = False
Option Explicit

' 顧客の一覧（起動時に読み込む）
Private mCustomers As Collection

Private Sub Form_Load()
    Set mCustomers = New Collection
    LoadCustomers
End Sub

' 検索語を氏名に含む顧客を一覧に表示する。検索語が空なら全件を表示する（大小文字は区別する）
Private Sub cmdSearch_Click()
    Dim keyword As String
    Dim found As Long
    Dim i As Long
    keyword = Trim(txtKeyword.Text)
    lstCustomers.Clear
    For i = 1 To mCustomers.Count
        If InStr(mCustomers(i).CustomerName, keyword) > 0 Then
            lstCustomers.AddItem mCustomers(i).ToDisplayString()
        End If
    Next i
End Sub

' 見本データを作る
Private Sub LoadCustomers()
    Dim customer As clsCustomer
    Dim n As Long
    For n = 1 To 3
        Set customer = New clsCustomer
        customer.Code = n
        customer.CustomerName = "顧客" & CStr(n)
        mCustomers.Add customer
    Next n
End Sub
