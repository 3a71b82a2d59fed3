VERSION 5.00
Begin VB.Form frmGuess 
   BorderStyle     =   1  'Fixed Single
   Caption         =   "Угадай число"
   ClientHeight    =   2295
   ClientLeft      =   45
   ClientTop       =   330
   ClientWidth     =   4335
   LinkTopic       =   "Form1"
   MaxButton       =   0   'False
   MinButton       =   0   'False
   ScaleHeight     =   2295
   ScaleWidth      =   4335
   StartUpPosition =   2  'CenterScreen
   Begin VB.CommandButton cmdNew 
      Caption         =   "Новая игра"
      Height          =   375
      Left            =   2640
      TabIndex        =   2
      Top             =   1680
      Width           =   1455
   End
   Begin VB.CommandButton cmdTry 
      Caption         =   "Проверить"
      Default         =   -1  'True
      Height          =   375
      Left            =   2640
      TabIndex        =   1
      Top             =   240
      Width           =   1455
   End
   Begin VB.TextBox txtGuess 
      Height          =   375
      Left            =   240
      MaxLength       =   3
      TabIndex        =   0
      Top             =   240
      Width           =   2175
   End
   Begin VB.Label lblHint 
      Caption         =   "Я загадал число от 1 до 100."
      Height          =   975
      Left            =   240
      TabIndex        =   3
      Top             =   840
      Width           =   2175
      WordWrap        =   -1  'True
   End
End
Attribute VB_Name = "frmGuess"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = False
Attribute VB_PredeclaredId = True
Attribute VB_Exposed = False
Option Explicit

' Игра «Угадай число»: компьютер загадывает число от 1 до 100.

Private mSecret As Integer
Private mTries As Integer

Private Sub Form_Load()
    Randomize
    NewGame
End Sub

Private Sub NewGame()
    mSecret = Int(100 * Rnd) + 1
    mTries = 0
    lblHint.Caption = "Я загадал число от 1 до 100. Попробуйте угадать!"
    txtGuess.Text = ""
    txtGuess.Enabled = True
    cmdTry.Enabled = True
End Sub

Private Sub cmdNew_Click()
    NewGame
    txtGuess.SetFocus
End Sub

Private Sub cmdTry_Click()
    Dim n As Integer
    If Len(txtGuess.Text) = 0 Or txtGuess.Text Like "*[!0-9]*" Then
        lblHint.Caption = "Введите целое число."
        Exit Sub
    End If
    n = CInt(txtGuess.Text)
    mTries = mTries + 1
    If n < mSecret Then
        lblHint.Caption = n & " - мало. Попытка " & mTries & "."
    ElseIf n > mSecret Then
        lblHint.Caption = n & " - много. Попытка " & mTries & "."
    Else
        lblHint.Caption = "Угадали за " & mTries & " " & TriesWord(mTries) & "!"
        txtGuess.Enabled = False
        cmdTry.Enabled = False
        Exit Sub
    End If
    txtGuess.SelStart = 0
    txtGuess.SelLength = Len(txtGuess.Text)
    txtGuess.SetFocus
End Sub

Private Sub txtGuess_KeyPress(KeyAscii As Integer)
    ' только цифры и Backspace
    If (KeyAscii < vbKey0 Or KeyAscii > vbKey9) And KeyAscii <> vbKeyBack Then
        If KeyAscii <> vbKeyReturn Then Beep
        KeyAscii = 0
    End If
End Sub

Private Function TriesWord(ByVal n As Integer) As String
    Select Case n Mod 100
        Case 11 To 14: TriesWord = "попыток"
        Case Else
            Select Case n Mod 10
                Case 1: TriesWord = "попытку"
                Case 2 To 4: TriesWord = "попытки"
                Case Else: TriesWord = "попыток"
            End Select
    End Select
End Function
