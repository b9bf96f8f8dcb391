VERSION 5.00
Begin VB.UserControl ctlGauge
   ClientHeight    =   375
   ClientLeft      =   0
   ClientTop       =   0
   ClientWidth     =   2400
   ScaleHeight     =   375
   ScaleWidth      =   2400
   Begin VB.Shape shpBar
      BackColor       =   &H00C00000&
      BackStyle       =   1  'Opaque
      Height          =   375
      Left            =   0
      Top             =   0
      Width           =   1200
   End
End
Attribute VB_Name = "ctlGauge"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = True
Attribute VB_PredeclaredId = False
Attribute VB_Exposed = False
Option Explicit

' i’»ƒQ[ƒWFValuei0`Maxj‚É‰ž‚¶‚Ä–_‚Ì•‚ð•Ï‚¦‚é
Private mValue As Long
Private mMax As Long

Private Sub UserControl_Initialize()
    mMax = 100
End Sub

Private Sub UserControl_Resize()
    Redraw
End Sub

Public Property Get Value() As Long
    Value = mValue
End Property

Public Property Let Value(ByVal newValue As Long)
    mValue = newValue
    Redraw
    PropertyChanged "Value"
End Property

Private Sub Redraw()
    If mMax > 0 Then
        shpBar.Width = ScaleWidth * mValue / mMax
    End If
End Sub
